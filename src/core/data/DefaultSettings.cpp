#include "core/data/DefaultSettings.h"

namespace {
QString u(const char* text)
{
    return QString::fromUtf8(text);
}
} // namespace

const QList<SysParamRow>& DefaultSettings::sysParams()
{
    static const QList<SysParamRow> rows = {
        {u("hideonmin"), u("N")}, {u("showhint"), u("Y")}, {u("startmin"), u("N")}, {u("myurl"), u("Y")},
        {u("loginpwd"), u("")},   {u("qq"), u("")},        {u("useflag"), u("0")},  {u("userno"), u("")},
    };
    return rows;
}

const QList<ParamRow>& DefaultSettings::params()
{
    static const QList<ParamRow> rows = {
        {u("LeixingShouru"), u("工资 奖金 理财 兼职 其他"), u("收入类型"), 1},
        {u("LeixingZhichu"), u("餐饮 交通 购物 居住 医疗 教育 娱乐 人情 其他"), u("支出类型"), 2},
        {u("Ren"), u("我 爱人 孩子 父母"), u("收支人员"), 3},
        {u("DaysShouru"), u("180"), u("收入列表默认日期范围天数"), 4},
        {u("DaysZhichu"), u("30"), u("支出列表默认日期范围天数"), 5},
        {u("Leixingjishi"), u("待办 已办 抄表 里程碑 其他"), u("记事类型"), 6},
        {u("Leixingjishista"), u("未完成 进行中 已完成 取消"), u("记事状态"), 7},
        {u("DaysJishi"), u("30"), u("记事列表默认日期范围天数"), 8},
        {u("Leixingdianhua"), u("家人 朋友 同事 客户 其他"), u("通讯录类型"), 9},
        {u("LeixingJiankang"), u("体检 就医 用药 疫苗 其他"), u("健康档案类型"), 10},
        {u("DaysJiankang"), u("180"), u("健康档案列表默认日期范围天数"), 11},
        {u("LeixingBaobao"), u("成长 饮食 睡眠 生病 趣事 其他"), u("宝宝记事类型"), 12},
        {u("LeixingBaobaoJiaoyu"), u("早教 阅读 音乐 运动 学校 其他"), u("宝宝教育类型"), 13},
        {u("DaysBaobao"), u("180"), u("宝宝列表默认日期范围天数"), 14},
        {u("jiepingpinlv"), u("0"), u("截屏频率(秒)，0表示不截屏"), 15},
        {u("jiepingpath"), u(""), u("截屏保存路径(以/结尾)，空表示程序目录下的pic"), 16},
        {u("huyanshijian"), u("60"), u("护眼休息间隔(分钟)，小于1表示不提醒"), 17},
    };
    return rows;
}
